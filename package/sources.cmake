# sources of this unit, relative to this folder
set(UNIT_SOURCES)
set(UNIT_SOURCES pkg_export.h)
