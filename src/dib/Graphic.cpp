// File helpers shared by every picture format.
#include "dib/Graphic.h"

#include "platform/Streams.h"

void TGraphic::LoadFromFile(const std::string &fileName) {
  TFileStream stream(fileName, TFileMode::fmOpenRead);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string &fileName) const {
  TFileStream stream(fileName, TFileMode::fmCreate);
  SaveToStream(stream);
}
