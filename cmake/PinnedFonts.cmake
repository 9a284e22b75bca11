# A fontconfig configuration that sees only the fonts the setup installs, so
# that text measured by tests and benchmarks does not depend on the machine.
# The platform itself adds Debian's metric-compatible Tahoma folder.
set(PINNED_FONT_FILES
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf)

set(PINNED_FONT_DIR "${CMAKE_BINARY_DIR}/pinned-fonts")
file(MAKE_DIRECTORY "${PINNED_FONT_DIR}/files")
foreach(font IN LISTS PINNED_FONT_FILES)
  if(NOT EXISTS "${font}")
    message(FATAL_ERROR "${font} is missing: run tools/install-packages")
  endif()
  get_filename_component(name "${font}" NAME)
  file(CREATE_LINK "${font}" "${PINNED_FONT_DIR}/files/${name}" SYMBOLIC)
endforeach()
file(WRITE "${PINNED_FONT_DIR}/fonts.conf" "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">
<fontconfig>
  <dir>${PINNED_FONT_DIR}/files</dir>
  <cachedir>${PINNED_FONT_DIR}/cache</cachedir>
</fontconfig>
")
set(PINNED_FONTCONFIG_FILE "${PINNED_FONT_DIR}/fonts.conf")
