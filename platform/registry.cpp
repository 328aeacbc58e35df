#include "platform/registry.h"

#include <algorithm>

#include "platform/error.h"

namespace kvo {

TComponentRegistry& TComponentRegistry::Global() {
  static TComponentRegistry registry;
  return registry;
}

void TComponentRegistry::RegisterComponents(const std::string& page,
                                            const std::vector<TComponentClass>& classes) {
  if (page.empty()) throw EPlatformError("Component page name is empty");
  for (const TComponentClass& c : classes) {
    if (c.ClassName.empty()) throw EPlatformError("Component class name is empty");
    if (!c.Create) throw EPlatformError("Component class " + c.ClassName + " has no factory");
  }
  for (const TComponentClass& c : classes) {
    // Same page: replace in place; another page: move it here.
    bool replaced = false;
    for (TPage& p : FPages) {
      auto it = std::find_if(p.Classes.begin(), p.Classes.end(),
                             [&](const TComponentClass& e) { return e.ClassName == c.ClassName; });
      if (it == p.Classes.end()) continue;
      if (p.Name == page) {
        *it = c;
        replaced = true;
      } else {
        p.Classes.erase(it);
      }
    }
    if (replaced) continue;
    auto pit = std::find_if(FPages.begin(), FPages.end(),
                            [&](const TPage& p) { return p.Name == page; });
    if (pit == FPages.end()) {
      FPages.push_back(TPage{page, {}});
      pit = FPages.end() - 1;
    }
    pit->Classes.push_back(c);
  }
  std::erase_if(FPages, [](const TPage& p) { return p.Classes.empty(); });
}

void TComponentRegistry::UnregisterClass(const std::string& className) {
  for (TPage& p : FPages)
    std::erase_if(p.Classes, [&](const TComponentClass& e) { return e.ClassName == className; });
  std::erase_if(FPages, [](const TPage& p) { return p.Classes.empty(); });
}

std::vector<std::string> TComponentRegistry::Pages() const {
  std::vector<std::string> names;
  for (const TPage& p : FPages) names.push_back(p.Name);
  return names;
}

std::vector<std::string> TComponentRegistry::Classes(const std::string& page) const {
  std::vector<std::string> names;
  for (const TPage& p : FPages)
    if (p.Name == page)
      for (const TComponentClass& c : p.Classes) names.push_back(c.ClassName);
  return names;
}

std::string TComponentRegistry::PageOf(const std::string& className) const {
  for (const TPage& p : FPages)
    for (const TComponentClass& c : p.Classes)
      if (c.ClassName == className) return p.Name;
  return {};
}

std::unique_ptr<TComponent> TComponentRegistry::Create(const std::string& className,
                                                       TComponent* owner) const {
  for (const TPage& p : FPages)
    for (const TComponentClass& c : p.Classes)
      if (c.ClassName == className) return c.Create(owner);
  return nullptr;
}

void RegisterComponents(const std::string& page, const std::vector<TComponentClass>& classes) {
  TComponentRegistry::Global().RegisterComponents(page, classes);
}

}  // namespace kvo
