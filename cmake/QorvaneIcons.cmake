# qorvane_icons(<target> <name>...): embeds the drawn icons data/icons/<name>.svg in the target,
# as the resources :/icons/<name>.svg that the windows load (SVG, drawn by Qt's image plugin).
function(qorvane_icons target)
  set(files)
  foreach(name IN LISTS ARGN)
    list(APPEND files ${QORVANE_ICON_DIR}/${name}.svg)
  endforeach()
  find_package(Qt6 REQUIRED COMPONENTS Core)
  qt6_add_resources(${target} ${target}_icons PREFIX /icons BASE ${QORVANE_ICON_DIR} FILES ${files})
endfunction()
