# sources of this unit, relative to this folder
set(UNIT_SOURCES)
set(UNIT_SOURCES
  cli_cmp04702.h cli_cmp04702.cpp
  tfrmcadautrf.h tfrmcadautrf.cpp tfrmcadautrf.ui
)
