#pragma once

#include "host/HostExport.h"

namespace Core::OndrelViewerComponents {

class HOST_EXPORT CStyleHelper
{
public:
    // Pixel size of a point size on the primary screen (12 pt is 16 px at 96 DPI).
    static int computePixelFontSize(int pointSize);
};

} // namespace Core::OndrelViewerComponents
