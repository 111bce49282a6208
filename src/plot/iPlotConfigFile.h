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
// The most objects of one kind a configuration file may ask for. Adding an
// object tells every other one, so a file is held to what a person could
// still read on a plot.
inline constexpr int kMaxConfigObjectsPerKind = 1000;

// Replaces the plot's objects with those of the file's lines. The whole file
// is first loaded into a scratch plot of the same kind; only when that
// succeeds is it applied, so a refused file ("Incompatible Plot Configuration
// File Type", a count above kMaxConfigObjectsPerKind, a bad value) leaves the
// plot exactly as it was.
void LoadPlotConfig(TiPlotComponent& plot, const TiStringList& lines);

// "AnnotationCount = 2", then each annotation's properties under
// "Annotation0." and so on.
TiStringList AnnotationLines(TiPlotComponent& plot);
// Replaces the plot's annotations with the file's, each starting from the
// plot's annotation defaults. Tried on a scratch plot first, like the
// configuration, so a refused file leaves the annotations as they were.
void LoadAnnotations(TiPlotComponent& plot, const TiStringList& lines);
