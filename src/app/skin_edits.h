// The edits the panel, the preview and the folder watch make, as changes
// for SkinSession::edit: each writes only what differs and lists it.
#pragma once

#include <string>

#include "app/skin_session.h"

SkinSession::Change writeInteger(FieldRef field, int value);
SkinSession::Change writeColor(FieldRef field, Color value);
SkinSession::Change writeText(FieldRef field, std::string value);
// Both fields of an element's position.
SkinSession::Change writePosition(FieldRef x, FieldRef y, int toX, int toY);
// `picture` in place of entry `entry`'s, even when they look the same.
SkinSession::Change putPicture(int entry, Image picture);
