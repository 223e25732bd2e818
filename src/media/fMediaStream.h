// The media unit: entries and their records, the item list and the cell texts.
#pragma once

#include "media/CellTexts.h"
#include "media/FileList.h"
#include "media/FileListItems.h"
