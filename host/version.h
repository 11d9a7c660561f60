// The module's name, version and maker's texts.
#pragma once

#define KELMAR_PRODUCT "Kelmar"
#define KELMAR_VERSION_MAJOR "5."
#define KELMAR_VERSION_MINOR "1.1"
#define KELMAR_BUILD_DATE "Jul 24 2000"
#define KELMAR_COPYRIGHT "Copyright (C) 1998-2000 Kelmar Software"
#define KELMAR_WEB_ADDRESS "http://kelmar.example/"
#define KELMAR_REGISTRY_SECTION "SOFTWARE\\Kelmar\\5.1\\AutoCAD 2000"
