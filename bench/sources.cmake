# The sources of each benchmark, written out (guard.sources checks that none is left out).
set(KINOVAL_BENCH_CORE_SOURCES
  core/common/ini_file_bench.cpp
  core/document_bench.cpp
  core/kinematics_bench.cpp
  core/models_bench.cpp
  core/parser_bench.cpp
  core/results_table_bench.cpp
  core/study_loading_bench.cpp
  core/tracking_bench.cpp
)
set(KINOVAL_BENCH_MEDIA_SOURCES
  media/decode_bench.cpp
  media/record_bench.cpp
)
set(KINOVAL_BENCH_GUI_SOURCES
  gui/view_bench.cpp
)
