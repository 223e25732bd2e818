// The English forms of the Czech texts of the parts without Qt (documents, archives, files, tvk).
#pragma once

// The English form of czech (compared by content), or null when the table has none.
const char *EnglishText(const char *czech);
