#pragma once
// The pictures of the geographic maps. With MAP/PRELOAD on, every map's picture is read once, when the map list is
// loaded or changed, and kept by the map's image handle; otherwise a map's picture is read each time a view shows the
// map. Pictures are read through the picture loader (CIEPicture), which reports one that cannot be read; the map then
// has no picture and shows its background colour.

#include <QImage>

class CMapList;
struct CMapDef;

// Reads the pictures of every map of the list (the world map too) and gives each map the handle of its picture;
// pictures kept for an earlier list are let go.
void PreloadMapPictures(CMapList& maps);
// Lets every kept picture go and clears the maps' handles.
void ReleaseMapPictures(CMapList& maps);

// The map's picture: with MAP/PRELOAD on the kept one, else read from its file; null when it has none or it cannot be
// read.
QImage MapPicture(const CMapDef& map);
