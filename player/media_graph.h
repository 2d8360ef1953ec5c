// Where new filter graphs come from: CoCreateInstance of the platform's
// filter graph in the program, a scripted fake in the tests.
#pragma once
#include <windows.h>
#include <dshow.h>

using GraphFactoryFn = HRESULT (*)(IGraphBuilder** ppGraph);

// Creates a new, empty graph through the current factory.
HRESULT CreateFilterGraph(IGraphBuilder** ppGraph);
// Returns the previous factory; nullptr restores the platform's.
GraphFactoryFn SetGraphFactorySeam(GraphFactoryFn pfn);

// Keeps every library now loaded in the process loaded until the process
// ends. Called once a track runs, it holds the graph service with the parser,
// decoder and renderer libraries it loaded for the track, so that the COM
// restart before the next track does not unload them only for the next
// render to load and initialise them again.
void KeepGraphLibrariesLoaded();
