#include "platform/GdiPlusEntries.h"

#include "platform/GdiPlus.h"

namespace {

using namespace Gdiplus;

const TEntryPoint EntryPoints[] = {
    {"GdipAlloc", EntryProc(&GdipAlloc)},
    {"GdipFree", EntryProc(&GdipFree)},
    {"GdiplusStartup", EntryProc(&GdiplusStartup)},
    {"GdiplusShutdown", EntryProc(&GdiplusShutdown)},
    {"GdipCreateBitmapFromScan0", EntryProc(&GdipCreateBitmapFromScan0)},
    {"GdipCreateBitmapFromHBITMAP", EntryProc(&GdipCreateBitmapFromHBITMAP)},
    {"GdipCreateHBITMAPFromBitmap", EntryProc(&GdipCreateHBITMAPFromBitmap)},
    {"GdipBitmapLockBits", EntryProc(&GdipBitmapLockBits)},
    {"GdipBitmapUnlockBits", EntryProc(&GdipBitmapUnlockBits)},
    {"GdipGetImageWidth", EntryProc(&GdipGetImageWidth)},
    {"GdipGetImageHeight", EntryProc(&GdipGetImageHeight)},
    {"GdipGetImageDimension", EntryProc(&GdipGetImageDimension)},
    {"GdipGetImagePixelFormat", EntryProc(&GdipGetImagePixelFormat)},
    {"GdipGetImageRawFormat", EntryProc(&GdipGetImageRawFormat)},
    {"GdipCloneImage", EntryProc(&GdipCloneImage)},
    {"GdipDisposeImage", EntryProc(&GdipDisposeImage)},
    {"GdipLoadImageFromStream", EntryProc(&GdipLoadImageFromStream)},
    {"GdipSaveImageToStream", EntryProc(&GdipSaveImageToStream)},
    {"GdipGetImageEncodersSize", EntryProc(&GdipGetImageEncodersSize)},
    {"GdipGetImageEncoders", EntryProc(&GdipGetImageEncoders)},
};

}  // namespace

std::span<const TEntryPoint> GdiplusEntryPoints() { return EntryPoints; }
