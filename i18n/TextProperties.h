// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QWidget;

namespace i18n {

// The text properties a language file may set, in the order they are set.
const QStringList& textPropertyNames();

// The Qt property that holds an element's text of the given name: an own property of that name
// (the file dialogs' Title and Filter), else what the name means for a Qt class: Caption is a
// button's, label's or menu item's text and a menu's or group's title, Hint a tooltip, Text an
// edit box's text, AccessibleName the name a screen reader gives a control. Empty when the element
// has no such text.
QByteArray qtPropertyOf(const QObject& element, const QString& name);

// Sets the text; a label placed by hand, not by a layout, grows or shrinks to fit it.
void setText(QObject& element, const QByteArray& property, const QString& text);

// The edit box inside a labelled control, as a combo box or a key box has one, gets its name from
// the control's label, as a screen reader finds no label of its own for it.
void nameInnerEditors(QWidget& window);

} // namespace i18n
