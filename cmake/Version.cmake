# The version has one home, src/resources/Version.h, which the version resource and the reports
# include. The project's version is read from it, and the manifest, which cannot include a header,
# is held to it: a build whose manifest names another version stops here.
set(ES_VERSION_HEADER ${CMAKE_CURRENT_LIST_DIR}/../src/resources/Version.h)
set(ES_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/../src/resources/EchoSentinel.manifest)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ES_VERSION_HEADER} ${ES_MANIFEST})

file(READ ${ES_VERSION_HEADER} es_header)
if(NOT es_header MATCHES "#define ES_VERSION_TEXT +\"([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+)\"")
  message(FATAL_ERROR "Version.h: no ES_VERSION_TEXT of four numbers")
endif()
set(ES_VERSION ${CMAKE_MATCH_1})
if(NOT es_header MATCHES "#define ES_VERSION_NUMBERS +([0-9]+),([0-9]+),([0-9]+),([0-9]+)")
  message(FATAL_ERROR "Version.h: no ES_VERSION_NUMBERS of four numbers")
endif()
if(NOT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4}" STREQUAL ES_VERSION)
  message(FATAL_ERROR "Version.h: ES_VERSION_NUMBERS is not ES_VERSION_TEXT ${ES_VERSION}")
endif()

file(READ ${ES_MANIFEST} es_manifest)
if(NOT es_manifest MATCHES "<assemblyIdentity[^>]* name=\"EchoSentinel\"[^>]* version=\"([^\"]*)\"")
  message(FATAL_ERROR "EchoSentinel.manifest: no assemblyIdentity version of EchoSentinel")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL ES_VERSION)
  message(FATAL_ERROR "EchoSentinel.manifest names version ${CMAKE_MATCH_1}, Version.h ${ES_VERSION}")
endif()
