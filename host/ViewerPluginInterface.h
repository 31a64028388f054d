#pragma once

// Interface id under which the viewer loads its widget plug-ins.
#define ONDRELVIEWER_PLUGIN_IID "example.ondrel.OndrelViewer.IPlugin/7.1"
