# sources of this unit, relative to this folder
set(UNIT_SOURCES
  cli_cmp04706.h cli_cmp04706.cpp
  tfrmpesqlistafilatende.h tfrmpesqlistafilatende.cpp tfrmpesqlistafilatende.ui
  modeloescolhidos.h modeloescolhidos.cpp
  codigosescolhidos.h codigosescolhidos.cpp)
