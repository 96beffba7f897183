# Where `cmake --install` puts each part. Linux: the usual prefix layout,
# bin/caskit with its stubs in lib/caskit/stubs/<target>/ (where caskit
# looks for them, ../lib/caskit/stubs/ from its own folder), the user guide
# in share/doc/caskit/, the manual page in share/man/man1/. Windows: one
# folder, as the zip unpacks, with the stubs in stubs/<target>/ beside
# caskit.exe and the guide beside Caskit2.exe.
if(WIN32)
  set(CASKIT_INSTALL_BIN .)
  set(CASKIT_INSTALL_STUBS stubs)
  set(CASKIT_INSTALL_DOC .)
else()
  set(CASKIT_INSTALL_BIN bin)
  set(CASKIT_INSTALL_STUBS lib/caskit/stubs)
  set(CASKIT_INSTALL_DOC share/doc/caskit)
  set(CASKIT_INSTALL_MAN share/man/man1)
endif()
# Folders made by the installation are rwxr-xr-x whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
