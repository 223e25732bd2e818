// Reads the information block and pixels of a device-independent bitmap (a DIB file after its file header,
// or clipboard data) into a new image.
#pragma once

#include "dib/DIBImage.h"

#include <memory>

class TStream;

// The image the stream holds from its position on; the empty image when the stream is already at its end.
// Throws EInvalidGraphic, EInvalidGraphicOperation, EOutOfResources or EReadError; the stream's position is then undefined.
std::shared_ptr<TDIBSharedImage> ReadDIBImage(TStream &stream);
