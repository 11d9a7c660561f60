#pragma once

#define IDS_PRODUCT 100
