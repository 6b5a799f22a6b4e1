# Writes the page's service worker (site/service-worker.js) from its template: the list of
# the page's files and a cache name made of the version and a digest of those files, so any
# change to the page is a new cache that replaces the old one.
#   cmake -DSITE=<site folder> -DTEMPLATE=<service-worker.js> -DVERSION=<x.y.z>
#         -DFILES=<file;file;...> -P stamp_service_worker.cmake
set(digests "")
set(listed "'./'")
foreach(file ${FILES})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(APPEND listed ", '${file}'")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 12 build)
set(KESTRION_BUILD "${VERSION}-${build}")
set(KESTRION_PAGE_FILES "${listed}")
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
