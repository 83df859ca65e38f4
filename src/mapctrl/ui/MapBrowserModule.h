#pragma once
// Finds and loads the map's browser module (libkorvane-map-view.so): first
// in Qt's library paths (the program's own folder, where a build puts it),
// then in the installed tree's <prefix>/lib/<multiarch>/korvane. Loaded once; it
// stays loaded for the rest of the run, as the web engine cannot stop and
// start again.

class MapBrowserMaker;

inline constexpr const char* kMapBrowserModuleName = "korvane-map-view";

// The module's maker; null (and traced why) when the module cannot be found
// or loaded, and so on every later call.
MapBrowserMaker* LoadMapBrowserModule();
