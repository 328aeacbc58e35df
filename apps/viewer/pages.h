// The viewer's pages, one per control that is built into this viewer.
#pragma once

#include <vector>

class QWidget;

namespace kvo::viewer {

class TViewerPage;

// Creates the pages (children of parent) in tab order.
std::vector<TViewerPage*> CreatePages(QWidget* parent);

}  // namespace kvo::viewer
