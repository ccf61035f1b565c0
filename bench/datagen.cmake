# The generator of made-up data folders, shared by tests and benchmarks.
add_library(tallyo_datagen STATIC ${CMAKE_CURRENT_LIST_DIR}/datagen.cpp)
target_include_directories(tallyo_datagen PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallyo_datagen PUBLIC tallyo_core)
