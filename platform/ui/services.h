#pragma once
// The window services sit behind small interfaces, one slot each, so that tests can install a
// watching implementation:   ui::Install<ui::Desktop>(std::make_unique<WatchingDesktop>());
// Each service class provides static std::unique_ptr<Service> MakeDefault().

#include <memory>

namespace ui {

template <class Service>
std::unique_ptr<Service>& ServiceSlot() {
  static std::unique_ptr<Service> service;
  return service;
}

template <class Service>
Service& Use() {
  auto& slot = ServiceSlot<Service>();
  if (!slot) slot = Service::MakeDefault();
  return *slot;
}

template <class Service>
void Install(std::unique_ptr<Service> service) {
  ServiceSlot<Service>() = std::move(service);
}

}  // namespace ui
