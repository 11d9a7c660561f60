// Every text the module prints, one line an entry, named by what it says. The tests read this
// table: a message printed that is not here, or one here that nothing prints, fails them.
#pragma once

// Argument errors, shared by many functions.
#define MSG_TOO_FEW "Kelmar error: too few arguments.\n"
#define MSG_TOO_MANY "Kelmar error: too many arguments.\n"
#define MSG_INT_EXPECTED "Kelmar error: integer argument expected.\n"
#define MSG_REAL_EXPECTED "Kelmar error: real argument expected.\n"
#define MSG_STRING_EXPECTED "Kelmar error: string argument expected.\n"
#define MSG_PATH_EXPECTED "Kelmar error: path argument expected.\n"
#define MSG_CHAR_EXPECTED "Kelmar error: character argument expected.\n"
#define MSG_LIST_BEGIN_EXPECTED "Kelmar error: list begin expected.\n"
#define MSG_LIST_END_EXPECTED "Kelmar error: list end expected.\n"
#define MSG_LIST_EXPECTED "Kelmar error: list argument expected.\n"
#define MSG_INVALID_ARGUMENT "Kelmar error: invalid argument.\n"
#define MSG_INVALID_ARGUMENT_TYPE "Kelmar error: invalid argument type.\n"
#define MSG_INVALID_STRING "Kelmar error: invalid string argument.\n"
#define MSG_INVALID_STRING_LENGTH "Kelmar error: invalid string length.\n"
#define MSG_INVALID_STRING_LENGTH_CAPITAL "Kelmar Error:  Invalid string length.\n"
#define MSG_INVALID_FILE_ARGUMENT "Kelmar error: invalid file argument.\n"
#define MSG_INVALID_SECTION_ARGUMENT "Kelmar error: invalid section argument.\n"
#define MSG_INVALID_KEY_ARGUMENT "Kelmar error: invalid key argument.\n"
#define MSG_INVALID_BIT_CODE "Kelmar error: invalid bit-code value.\n"
#define MSG_INVALID_RED "Kelmar error: invalid red value.\n"
#define MSG_INVALID_GREEN "Kelmar error: invalid green value.\n"
#define MSG_INVALID_BLUE "Kelmar error: invalid blue value.\n"
#define MSG_RANGE_NOT_POSITIVE "Kelmar error: range must be a positive integer.\n"

// Memory. Each spelling is kept by the functions that print it: scripts match them.
#define MSG_NO_RESULT_BUFFER "Kelmar error: cannot allocate result buffer.\n"
#define MSG_NO_RESULT_BUFFER_CAPITAL "Kelmar Error: cannot allocate result buffer.\n"
#define MSG_NO_RESULT_BUFFER_UPPER "KELMAR Error: cannot allocate result buffer.\n"
#define MSG_OUT_OF_MEMORY "Kelmar error:  out of memory\n"
#define MSG_OUT_OF_MEMORY_CAPITAL "Kelmar Error:  Out of memory.\n"

// Loading.
#define MSG_BANNER "\n%s Version %s%s (%s)\n%s\n"
#define MSG_LOADED "Kelmar Loaded.\n"
#define MSG_CANNOT_FIND_FUNCTION_CODE "Kelmar error: cannot find function code.\n"
#define MSG_CANNOT_DEFINE_FUNCTIONS "Kelmar error: cannot define function(s).\n"
#define MSG_CANNOT_REGISTER_APP "Kelmar error: cannot register application with AutoCAD.\n"
#define MSG_CANNOT_OPEN_KEY "Kelmar error:  cannot create or open registry key.\n"
#define MSG_CANNOT_SET_VALUE "Kelmar error:  cannot set registry value.\n"

// Files.
#define MSG_CANNOT_OPEN_DOS_SOURCE "Kelmar error: cannot open DOS source file.\n"
#define MSG_CANNOT_OPEN_UNIX_DESTINATION "Kelmar error: cannot open UNIX destination file.\n"
#define MSG_CANNOT_READ_DOS_SOURCE "Kelmar error: cannot read DOS source file.\n"
#define MSG_CANNOT_WRITE_UNIX_DESTINATION "Kelmar error: cannot write UNIX destination file.\n"
#define MSG_CANNOT_OPEN_UNIX_SOURCE "Kelmar error: cannot open UNIX source file.\n"
#define MSG_CANNOT_OPEN_DOS_DESTINATION "Kelmar error: cannot open DOS destination file.\n"
#define MSG_CANNOT_READ_UNIX_SOURCE "Kelmar error: cannot read UNIX source file.\n"
#define MSG_CANNOT_WRITE_DOS_DESTINATION "Kelmar error: cannot write DOS destination file.\n"
#define MSG_BYTES_READ "Bytes Read\n"
#define MSG_CANNOT_READ_DRAWING "Kelmar error: could not read drawing file.\n"

// Programs and the network.
#define MSG_COMMAND_ECHO "%s\n"
#define MSG_RUNNING_PROCESS "Running external process, please wait...\n"
#define MSG_WINSOCK_HOST_NAME "Kelmar error: WinSock error getting local host name.\n"
#define MSG_WINSOCK_LOOKUP "Kelmar error: WinSock error looking up host name.\n"

// Printing.
#define MSG_PRINTER_NOT_FOUND "Kelmar error:  printer not found.\n"
#define MSG_CANNOT_OPEN_PRINTER "Kelmar error:  cannot open printer.\n"
#define MSG_INVALID_BYTES_WRITTEN "Kelmar error:  invalid bytes written.\n"
#define MSG_INVALID_FILE_HANDLE "Kelmar error:  invalid file handle.\n"
#define MSG_CANNOT_CREATE_MAPPING "Kelmar error:  cannot create file mapping.\n"
#define MSG_CANNOT_MAP_VIEW "Kelmar error:  cannot map view of file.\n"
#define MSG_CANNOT_START_DOCUMENT "Kelmar error:  cannot start document.\n"
#define MSG_CANNOT_START_PAGE "Kelmar error:  cannot start page.\n"
#define MSG_CANNOT_WRITE_PAGE "Kelmar error:  cannot write page.\n"
#define MSG_CANNOT_END_PAGE "Kelmar error:  cannot end page.\n"
#define MSG_CANNOT_END_DOCUMENT "Kelmar error:  cannot end document.\n"

// Dialogs and windows.
#define MSG_FINDING_DRAWINGS "Kelmar error: finding drawing files.\n"
#define MSG_TOO_MANY_FILES "Kelmar error: too many files chosen.\n"
#define MSG_CANNOT_CREATE_WINDOW "Kelmar error:  cannot create window.\n"
#define MSG_CANNOT_INITIALIZE_WINDOW "Kelmar error:  cannot initialize window.\n"
#define MSG_CANNOT_REGISTER_CLASS "Kelmar error:  cannot register window class.\n"
#define MSG_CANNOT_HOOK "Kelmar error: cannot hook Window.\n"
