# The product's libraries: portable ones for every build, Win32 ones and the executable for the
# Windows build only.
set(ES_SRC ${CMAKE_SOURCE_DIR}/src)

add_library(es_portable STATIC
  ${ES_SRC}/support/Text.cpp
  ${ES_SRC}/support/Hex.cpp
  ${ES_SRC}/support/Color.cpp
  ${ES_SRC}/support/DpiScale.cpp
  ${ES_SRC}/support/Palette.cpp
  ${ES_SRC}/support/FileFilter.cpp
  ${ES_SRC}/support/Utf16.cpp
  ${ES_SRC}/support/StringList.cpp
  ${ES_SRC}/support/CommandLine.cpp
  ${ES_SRC}/support/LocalTime.cpp
  ${ES_SRC}/support/CallHolds.cpp
  ${ES_SRC}/support/AccessKey.cpp
  ${ES_SRC}/lang/StringTable.cpp
  ${ES_SRC}/lang/FormatCheck.cpp
  ${ES_SRC}/lang/DialogTemplate.cpp
  ${ES_SRC}/settings/AppSettings.cpp
  ${ES_SRC}/settings/CommandLineSettings.cpp
  ${ES_SRC}/settings/WindowPlacement.cpp
  ${ES_SRC}/reportlist/ReportListBase.cpp
  ${ES_SRC}/reportlist/Sparkline.cpp
  ${ES_SRC}/addresses/AddressList.cpp
  ${ES_SRC}/addresses/AddressFile.cpp
  ${ES_SRC}/ping/PingItem.cpp
  ${ES_SRC}/ping/PingItemList.cpp
  ${ES_SRC}/ping/PingEngine.cpp
  ${ES_SRC}/ping/EchoRecord.cpp
  ${ES_SRC}/ping/HostNameEncoding.cpp
  ${ES_SRC}/ping/PingCycle.cpp
  ${ES_SRC}/reports/ReportWriter.cpp
  ${ES_SRC}/reports/JsonReport.cpp
  ${ES_SRC}/reports/PrometheusReport.cpp
  ${ES_SRC}/app/ConfigurationExchange.cpp
  ${ES_SRC}/app/ExportOptions.cpp
  ${ES_SRC}/crash/CrashText.cpp
  ${ES_SRC}/unattended/Verdict.cpp
  ${ES_SRC}/watch/AlertGathering.cpp
  ${ES_SRC}/watch/StateLogFormat.cpp
  ${ES_SRC}/graph/GraphLayout.cpp
)
target_include_directories(es_portable PUBLIC ${ES_SRC})
find_package(Threads REQUIRED)
target_link_libraries(es_portable PUBLIC Threads::Threads)

if(ES_PORTABLE_ONLY)
  return()
endif()

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${ES_SRC}/resources -I${ES_SRC}")

add_library(es_win STATIC
  ${ES_SRC}/support/FileIo.cpp
  ${ES_SRC}/support/ErrorMessage.cpp
  ${ES_SRC}/support/ExePaths.cpp
  ${ES_SRC}/support/UiFramework.cpp
  ${ES_SRC}/support/Dpi.cpp
  ${ES_SRC}/support/DialogBase.cpp
  ${ES_SRC}/support/WindowBase.cpp
  ${ES_SRC}/support/FileDialog.cpp
  ${ES_SRC}/support/DarkMode.cpp
  ${ES_SRC}/lang/ResourceTexts.cpp
  ${ES_SRC}/lang/LanguageFile.cpp
  ${ES_SRC}/lang/LanguageTemplate.cpp
  ${ES_SRC}/settings/IniSettingsStore.cpp
  ${ES_SRC}/addresses/HostsFile.cpp
  ${ES_SRC}/addresses/OptionsDialog.cpp
  ${ES_SRC}/reportlist/ReportListView.cpp
  ${ES_SRC}/reportlist/ListTheme.cpp
  ${ES_SRC}/reportlist/PropertiesDialog.cpp
  ${ES_SRC}/reportlist/RowFinder.cpp
  ${ES_SRC}/reportlist/ColumnSettingsDialog.cpp
  ${ES_SRC}/ping/IcmpEchoService.cpp
  ${ES_SRC}/reports/FileSink.cpp
  ${ES_SRC}/reports/ReportFiles.cpp
  ${ES_SRC}/reports/SaveReport.cpp
  ${ES_SRC}/crash/ExceptionReport.cpp
  ${ES_SRC}/unattended/ConsoleOutput.cpp
  ${ES_SRC}/unattended/RoundsRunner.cpp
  ${ES_SRC}/watch/Alerts.cpp
  ${ES_SRC}/watch/StateLog.cpp
  ${ES_SRC}/settings/SavedPlacement.cpp
  ${ES_SRC}/graph/HistoryGraph.cpp
  ${ES_SRC}/app/Configuration.cpp
  ${ES_SRC}/app/MainWindow.cpp
  ${ES_SRC}/app/MainCommands.cpp
  ${ES_SRC}/app/MainWindowDpi.cpp
  ${ES_SRC}/app/MainTheme.cpp
  ${ES_SRC}/app/StatusBarLink.cpp
  ${ES_SRC}/app/AboutDialog.cpp
  ${ES_SRC}/app/SortByMenu.cpp
)
target_link_libraries(es_win PUBLIC es_portable comctl32 comdlg32 gdi32 shell32 winmm ws2_32 user32 kernel32 psapi)

# The resource object is linked into the executable and into the Win32 tests, so that both see
# the same menus, dialogs and texts.
add_library(es_resources OBJECT ${ES_SRC}/resources/EchoSentinel.rc)
set_source_files_properties(${ES_SRC}/resources/EchoSentinel.rc PROPERTIES OBJECT_DEPENDS
  "${ES_SRC}/resources/ResourceIds.h;${ES_SRC}/resources/Version.h;${ES_SRC}/resources/EchoSentinel.manifest;${ES_SRC}/resources/EchoSentinel.ico;${ES_SRC}/resources/hand.cur;${ES_SRC}/resources/toolbar.bmp;${ES_SRC}/resources/rowimages.bmp;${ES_SRC}/resources/sortasc.bmp;${ES_SRC}/resources/sortdesc.bmp;${ES_SRC}/resources/toolbar20.bmp;${ES_SRC}/resources/toolbar24.bmp;${ES_SRC}/resources/toolbar32.bmp;${ES_SRC}/resources/rowimages20.bmp;${ES_SRC}/resources/rowimages24.bmp;${ES_SRC}/resources/rowimages32.bmp;${ES_SRC}/resources/sortasc20.bmp;${ES_SRC}/resources/sortasc24.bmp;${ES_SRC}/resources/sortasc32.bmp;${ES_SRC}/resources/sortdesc20.bmp;${ES_SRC}/resources/sortdesc24.bmp;${ES_SRC}/resources/sortdesc32.bmp;${ES_SRC}/resources/trayunknown.ico;${ES_SRC}/resources/trayup.ico;${ES_SRC}/resources/traysomedown.ico;${ES_SRC}/resources/trayalldown.ico")

add_executable(EchoSentinel WIN32 ${ES_SRC}/app/Main.cpp $<TARGET_OBJECTS:es_resources>)
target_link_libraries(EchoSentinel PRIVATE es_win)
target_link_options(EchoSentinel PRIVATE -municode)
