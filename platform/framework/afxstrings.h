// The framework's own texts, by their numbers in the string table of the module that links
// the framework (its resource script includes this header and holds the texts): the prompts
// of the data exchange. Numbered apart from the module's own texts, which start at 100.
#pragma once

#define AFX_IDS_ENTER_INTEGER 0xE001
#define AFX_IDS_ENTER_NUMBER 0xE002
