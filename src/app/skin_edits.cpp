#include "app/skin_edits.h"

#include <memory>

namespace {

template <typename Value>
SkinChanges write(Value* target, FieldRef field, const Value& value) {
  if (!target || *target == value) return {};
  *target = value;
  return {{field}, {}};
}

}  // namespace

SkinSession::Change writeInteger(FieldRef field, int value) {
  return [field, value](SkinModel& model, SkinImageTable&) {
    return write<std::int32_t>(integerField(model, field.section, field.key), field, value);
  };
}

SkinSession::Change writeColor(FieldRef field, Color value) {
  return [field, value](SkinModel& model, SkinImageTable&) {
    return write<Color>(colorField(model, field.section, field.key), field, value);
  };
}

SkinSession::Change writeText(FieldRef field, std::string value) {
  return [field, value = std::move(value)](SkinModel& model, SkinImageTable&) {
    return write<std::string>(textField(model, field.section, field.key), field, value);
  };
}

SkinSession::Change writePosition(FieldRef x, FieldRef y, int toX, int toY) {
  return [=](SkinModel& model, SkinImageTable& images) {
    SkinChanges changes = writeInteger(x, toX)(model, images);
    const SkinChanges moved = writeInteger(y, toY)(model, images);
    changes.fields.insert(changes.fields.end(), moved.fields.begin(), moved.fields.end());
    return changes;
  };
}

SkinSession::Change putPicture(int entry, Image picture) {
  // Shared: a std::function must be copyable, and the picture is moved in once.
  auto held = std::make_shared<Image>(std::move(picture));
  return [entry, held](SkinModel&, SkinImageTable& images) {
    images[entry].picture = std::move(*held);
    return SkinChanges{{}, {entry}};
  };
}
