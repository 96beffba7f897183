# JNI declarations: the Java runtime's own jni.h, copied into the build
# tree. Linux builds pair it with the runtime's jni_md.h; Windows builds
# with our own (vmbind/jni/windows/jni_md.h: __stdcall, dllexport, 32-bit jint).

set(_caskit_java_homes)
if(DEFINED ENV{JAVA_HOME})
  list(APPEND _caskit_java_homes $ENV{JAVA_HOME})
endif()
list(APPEND _caskit_java_homes /usr/lib/jvm/java-17-openjdk-amd64 /usr/lib/jvm/default-java)
find_path(CASKIT_JNI_INCLUDE jni.h PATHS ${_caskit_java_homes} PATH_SUFFIXES include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT CASKIT_JNI_INCLUDE)
  message(FATAL_ERROR "jni.h not found: install openjdk-17-jdk-headless (scripts/setup.sh)")
endif()
get_filename_component(CASKIT_JAVA_HOME ${CASKIT_JNI_INCLUDE} DIRECTORY)

set(_jni_dir ${CMAKE_BINARY_DIR}/jni)
file(MAKE_DIRECTORY ${_jni_dir})
configure_file(${CASKIT_JNI_INCLUDE}/jni.h ${_jni_dir}/jni.h COPYONLY)
if(WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/vmbind/jni/windows/jni_md.h ${_jni_dir}/jni_md.h COPYONLY)
else()
  configure_file(${CASKIT_JNI_INCLUDE}/linux/jni_md.h ${_jni_dir}/jni_md.h COPYONLY)
endif()
add_library(caskit_jni INTERFACE)
target_include_directories(caskit_jni INTERFACE ${_jni_dir})
add_library(caskit_jni_san ALIAS caskit_jni)
