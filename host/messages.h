// Messages shared by many functions, printed as they stand.
#pragma once

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
// Three spellings, each kept by the functions that print it.
#define MSG_NO_RESULT_BUFFER "Kelmar error: cannot allocate result buffer.\n"
#define MSG_NO_RESULT_BUFFER_CAPITAL "Kelmar Error: cannot allocate result buffer.\n"
#define MSG_NO_RESULT_BUFFER_UPPER "KELMAR Error: cannot allocate result buffer.\n"
#define MSG_OUT_OF_MEMORY "Kelmar error:  out of memory\n"

#define MSG_CANNOT_FIND_FUNCTION_CODE "Kelmar error: cannot find function code.\n"
#define MSG_CANNOT_DEFINE_FUNCTIONS "Kelmar error: cannot define function(s).\n"
#define MSG_CANNOT_REGISTER_APP "Kelmar error: cannot register application with AutoCAD.\n"
#define MSG_CANNOT_OPEN_KEY "Kelmar error:  cannot create or open registry key.\n"
#define MSG_CANNOT_SET_VALUE "Kelmar error:  cannot set registry value.\n"
#define MSG_FINDING_DRAWINGS "Kelmar error: finding drawing files.\n"
