// Drawing file versions by the code in a drawing's first six bytes. Pure.
#pragma once

// The description of a six-byte version code (terminated after the sixth byte), or
// "Unknown". The two five-character codes match only when the sixth byte is 0.
const char* dwgVersionName(const char code[7]);
