// Fuzz target of the media stream reader: a whole Media.m read into a list, then its rows shown in a grid.
// A damaged stream must raise EMediaStreamError and leave the list empty.
#include "FuzzStreams.h"
#include "media/fMediaStream.h"
#include "platform/MemoryGrid.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream stream = InputStream(data, size);
  TFileList list;
  TMediaKind kind = mkImages;
  try {
    list.ReadAll(stream, kind);
  } catch (const EMediaStreamError &) {
    if (list.Count() != 0)
      std::abort(); // a failed read must append nothing
    return 0;
  }
  TMemoryGrid grid(kind == mkImages ? 11 : 8, 2);
  list.FillGrid(grid, kind);
  return 0;
}
