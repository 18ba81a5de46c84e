# Read by the build-machine project of cartovel-rc right after its project() call (see
# WsWindowsResources.cmake): the pictures are written with libpng, which every target the
# project makes links.
find_package(PNG REQUIRED)
link_libraries(PNG::PNG)
