#include "model/layout_record.h"

namespace qorvi {

std::span<const LayoutField> LayoutFields() { return kLayoutFieldTable; }

const LayoutField* FindLayoutField(std::string_view name) {
  for (const LayoutField& f : kLayoutFieldTable) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

void CopyLayoutField(LayoutRecord& to, const LayoutRecord& from, const LayoutField& field) {
  std::visit([&](auto member) { to.*member = from.*member; }, field.member);
}

}  // namespace qorvi
