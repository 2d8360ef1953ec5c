// Where new filter graphs come from: CoCreateInstance of the platform's
// filter graph in the program, a scripted fake in the tests.
#pragma once
#include <windows.h>
#include <dshow.h>

using GraphFactoryFn = HRESULT (*)(IGraphBuilder** ppGraph);

// Creates a new, empty graph through the current factory.
HRESULT CreateFilterGraph(IGraphBuilder** ppGraph);
// Returns the previous factory; nullptr restores the platform's.
GraphFactoryFn SetGraphFactoryHook(GraphFactoryFn pfn);
