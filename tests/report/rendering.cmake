# The report document and the RTF renderer. These tests measure text, so they run under the GUI
# test main.
add_library(rendertestsupport STATIC displaylist.cpp displaylist.h)
target_link_libraries(rendertestsupport PUBLIC report GTest::gtest)

foreach(name test_rtftokenizer test_drawrtf test_reportdocument test_rtfregression)
    rmd_add_gui_test(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE rendertestsupport)
endforeach()
target_compile_definitions(test_rtfregression PRIVATE
    RTF_FIXTURES="${PROJECT_SOURCE_DIR}/tests/data/rtf")

# libFuzzer target for the tokenizer and renderer (see tests/CMakeLists.txt).
rmd_add_fuzzer(fuzz_drawrtf report)
