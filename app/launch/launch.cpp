#include "app/launch/launch.h"

#include <filesystem>
#include <system_error>

#include "app/launch/launch_options.h"
#include "app/launch/play_memory.h"
#include "app/launch/screen_memory.h"
#include "app/launch/user_directories.h"

namespace launch {

namespace {

// The exit code after an answer on `out`: a write that failed (a full disk, a closed
// standard output) must not look like success to a script that asked.
int AnsweredExitCode(std::FILE* out) {
    return std::fflush(out) == 0 && std::ferror(out) == 0 ? 0 : 1;
}

}  // namespace

LaunchPlan PrepareLaunch(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    const LaunchOptions options = ParseLaunchOptions(argc, argv);
    LaunchPlan plan;
    switch (options.action) {
        case LaunchAction::ShowVersion:
            std::fprintf(out, "%s\n", VersionText());
            plan.exitCode = AnsweredExitCode(out);
            return plan;
        case LaunchAction::ShowHelp:
            std::fputs(UsageText(), out);
            plan.exitCode = AnsweredExitCode(out);
            return plan;
        case LaunchAction::UsageError:
            std::fprintf(err, "kestrion: unknown option '%s'\n", options.badArgument);
            std::fputs(UsageText(), err);
            plan.exitCode = 2;
            return plan;
        case LaunchAction::Play:
            break;
    }
    plan.play = true;
    plan.screenMemory = ScreenMemoryPath(ConfigDirectory());
    plan.playMemory = PlayMemoryPath(ConfigDirectory());
    if (options.gameFile != nullptr) {
        std::error_code error;
        const std::filesystem::path absolute =
            std::filesystem::absolute(LocalPath(options.gameFile), error);
        plan.gameFile = error ? std::string(options.gameFile) : PathText(absolute);
    }
    switch (options.screen) {
        case ScreenChoice::Window:
            plan.fullScreen = false;
            break;
        case ScreenChoice::FullScreen:
            plan.fullScreen = true;
            break;
        case ScreenChoice::Remembered:
            plan.fullScreen = ReadRememberedFullScreen(plan.screenMemory);
            break;
    }
    if (options.useDataHome) EnterDataDirectory(DataDirectory(), err);
    return plan;
}

bool EnterDataDirectory(const std::string& directory, std::FILE* err) {
    std::string reason;
    if (MakeDirectories(directory, &reason)) {
        std::error_code error;
        std::filesystem::current_path(LocalPath(directory), error);
        if (!error) return true;
        reason = error.message();
    }
    std::fprintf(err,
                 "Kestrion: cannot keep saved games in %s (%s); using the current directory.\n",
                 directory.empty() ? "the data directory" : directory.c_str(), reason.c_str());
    return false;
}

}  // namespace launch
