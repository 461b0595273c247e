# Run by ctest: the module's dynamic symbol table must hold every entry point
# the host looks up by name, as a defined function, and nothing of our C++.
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
foreach(entry HVXWhatCanIDo Setup Initialize Terminate NewSettlement
              CreateSourceSettlementMENU CreateSourceSettlement
              CreateDestSettlementMENU CreateDestSettlement
              CreateDirShipMENU CreateCWRMENU CreateSettlementSearch)
  if(NOT symbols MATCHES "[0-9a-f]+ T ${entry}\n")
    message(FATAL_ERROR "${MODULE} does not export ${entry}:\n${symbols}")
  endif()
endforeach()
if(symbols MATCHES "_ZN3hvx|StdPVDlgProc|PopupViewEditProc")
  message(FATAL_ERROR "${MODULE} exports more than its entry points:\n${symbols}")
endif()
message(STATUS "every entry point exported")
