# sources of this unit, relative to this folder
set(UNIT_SOURCES)
set(UNIT_SOURCES pkg_export.h pkg_cmp04702.h pkg_cmp04702.cpp PKG_CMP04702_pt_BR.ts)
