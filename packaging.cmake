# Debian package of the installed tree: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pkg-cmp04702)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Equipe PKG_CMP04702")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "O programa pkg-host abre o banco SQLite (criado com dados de exemplo), roda o servidor de aplicação no próprio processo e carrega o módulo PKG_CMP04702, cuja tela registra, numa operação do servidor, quais fornecedores atendem quais filiais. Inclui pkg-appserver, o mesmo servidor por HTTP para muitos usuários (SQLite ou PostgreSQL), e server-gendata, gerador de massas de dados.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipe PKG_CMP04702 <pkg-cmp04702@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Libraries the programs link come from dpkg-shlibdeps; the Qt plug-ins they load at run
# time (SQLite and PostgreSQL drivers, platforms including offscreen and VNC) are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
