// The component registry: which control classes a package offers, grouped by
// palette page, each with a factory. Control libraries register their classes
// (the colour legend and the gauge on the page "Kvo"); the viewer and a
// designer integration read the pages and create instances by class name.
#pragma once

#include "export.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control.h"

namespace kvo {

// Creates a new instance owned (in the component sense) by `owner`.
using TComponentFactory = std::function<std::unique_ptr<TComponent>(TComponent* owner)>;

struct KVO_API TComponentClass {
  std::string ClassName;  // e.g. "TColorScale"
  TComponentFactory Create;
};

class KVO_API TComponentRegistry {
public:
  // The process-wide registry the control libraries fill.
  static TComponentRegistry& Global();

  // Adds classes to a page (the page is created on first use; pages and
  // classes keep their registration order). A class name registered before
  // is replaced in place, also when it moves to another page. Throws
  // EPlatformError for an empty page or class name or a missing factory;
  // then nothing is registered.
  void RegisterComponents(const std::string& page, const std::vector<TComponentClass>& classes);
  // Removes a class; unknown names are ignored. A page left empty disappears.
  void UnregisterClass(const std::string& className);

  std::vector<std::string> Pages() const;
  // Class names of a page (empty for an unknown page).
  std::vector<std::string> Classes(const std::string& page) const;
  // The page a class is on, or "" when it is not registered.
  std::string PageOf(const std::string& className) const;
  bool IsRegistered(const std::string& className) const { return !PageOf(className).empty(); }
  // A new instance of a registered class, nullptr for an unknown name.
  std::unique_ptr<TComponent> Create(const std::string& className,
                                     TComponent* owner = nullptr) const;

private:
  struct TPage {
    std::string Name;
    std::vector<TComponentClass> Classes;
  };
  std::vector<TPage> FPages;
};

// Registers on the global registry.
KVO_API void RegisterComponents(const std::string& page, const std::vector<TComponentClass>& classes);

}  // namespace kvo
