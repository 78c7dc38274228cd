# sources of this unit, relative to this folder
set(UNIT_SOURCES)
