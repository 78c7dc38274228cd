# sources of this unit, relative to this folder
set(UNIT_SOURCES)
set(UNIT_SOURCES
  cli_cmp04704.h cli_cmp04704.cpp
  tfrmerroforneatefili.h tfrmerroforneatefili.cpp tfrmerroforneatefili.ui
  gridtext.h gridtext.cpp
)
