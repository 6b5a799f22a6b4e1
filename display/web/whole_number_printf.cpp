// The page's snprintf is the C library's whole-number one (vsniprintf): the program formats
// only text and whole numbers, and the general snprintf brings floating-point printing and
// the 128-bit arithmetic under it, a tenth of the page's code. A %f, %e, %g or %a would stop
// the page, so none may be written in code the page runs (the desktop builds are unchanged).

#include <cstdarg>
#include <cstddef>

extern "C" {

int vsniprintf(char* text, size_t size, const char* format, va_list arguments);

int snprintf(char* text, size_t size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = vsniprintf(text, size, format, arguments);
    va_end(arguments);
    return length;
}

}  // extern "C"
