#pragma once
// The plot configuration file: "File Type = Plot Config", the component's own
// properties, the object counts and every object's properties under its
// kind word and index ("Channel0.TitleText = 数据"). And the annotation file,
// which is kept apart from it.

#include <functional>
#include <string>

#include "plot/iPropertyText.h"

class TiPlotComponent;

// Every plot object with its prefix ("Channel0", "XAxis0", ...), kind by
// kind in the file's order.
void ForEachPlotObject(TiPlotComponent& plot,
                       const std::function<void(TiPersistent&, const std::string&)>& visit);

TiStringList PlotConfigLines(TiPlotComponent& plot);
// Replaces the plot's objects with those of the file. Throws "Incompatible
// Plot Configuration File Type" before touching the plot when the file is of
// another kind. The caller holds the update batch and the layout.
void ReadPlotConfig(TiPlotComponent& plot, TiPropertyLines& lines);

// "AnnotationCount = 2", then each annotation's properties under
// "Annotation0." and so on.
TiStringList AnnotationLines(TiPlotComponent& plot);
// Replaces the plot's annotations with the file's; each starts from the
// plot's annotation defaults. The caller holds the update batch.
void ReadAnnotations(TiPlotComponent& plot, TiPropertyLines& lines);
