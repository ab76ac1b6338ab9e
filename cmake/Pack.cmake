# The packer is a host program: it is built as a project of its own and run to make the FILES
# resource from resources/pack/ in the order and with the dates of pack.lst.
include(ExternalProject)

set(PACKER_DIR ${CMAKE_BINARY_DIR}/packer)
set(PACKER ${PACKER_DIR}/bin/packer)
ExternalProject_Add(packer_host
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/packer
  BINARY_DIR ${PACKER_DIR}/build
  INSTALL_DIR ${PACKER_DIR}
  CMAKE_ARGS -DCMAKE_INSTALL_PREFIX=${PACKER_DIR} -DSETUP_SOURCE_DIR=${CMAKE_SOURCE_DIR} -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_TOOLCHAIN_FILE=
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${PACKER}
)

set(SETUP_PACK_DIR ${CMAKE_SOURCE_DIR}/resources/pack CACHE PATH "Folder of the pack files and their pack.lst")
set(PACK_LIST ${SETUP_PACK_DIR}/pack.lst)
file(GLOB PACK_FILES CONFIGURE_DEPENDS ${SETUP_PACK_DIR}/*)
set(SETUP_PACK ${CMAKE_BINARY_DIR}/pack.z)
add_custom_command(OUTPUT ${SETUP_PACK}
  COMMAND ${PACKER} ${PACK_LIST} ${SETUP_PACK_DIR} ${SETUP_PACK}
  DEPENDS packer_host ${PACK_LIST} ${PACK_FILES}
  COMMENT "Packing resources/pack into the FILES resource"
  VERBATIM)
add_custom_target(pack DEPENDS ${SETUP_PACK})
