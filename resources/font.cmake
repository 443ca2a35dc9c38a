# The preview font: the BDF source is carried in the program as bytes and
# parsed at first use.
set(QUENVARDE_BDF ${CMAKE_CURRENT_SOURCE_DIR}/quenvarde.bdf)
set(QUENVARDE_CPP ${CMAKE_CURRENT_BINARY_DIR}/quenvarde_bdf.cpp)
skinstudio_embed(${QUENVARDE_CPP} ${QUENVARDE_BDF} kQuenvardeBdf)
target_sources(skinstudio_resources PRIVATE ${QUENVARDE_CPP})
