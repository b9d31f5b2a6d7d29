// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "window/string_list_model.hpp"

namespace zemvaro::window {

StringListModel::StringListModel(const StringList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int StringListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.Count();
}

QVariant StringListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    return QString::fromStdString(list_.Item(index.row()));
}

void StringListModel::Refresh() {
    // The core changes the list in one go on the one thread, with no events
    // in between, so announcing the reset afterwards is safe.
    beginResetModel();
    endResetModel();
}

}  // namespace zemvaro::window
