// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "core/zemvaro.hpp"

namespace zemvaro {

extern const std::string_view HelpText =
    "Съществува теорема на Голдбах  (не е доказана), която твърди, че цяло число (с изключение на "
    "1 и 2)  може да се представи като средно ариметично на две прости числа. \r\n"
    "Пример:\r\n"
    "7 = 0.5*(1 + 13)\r\n"
    "7 = 0.5*(3 + 11)\r\n"
    "7 = 0.5*(7 + 7)\r\n"
    "\r\n"
    "8 = 0.5*(3 + 13)\r\n"
    "8 = 0.5*(5 + 11)\r\n"
    "\r\n"
    "9 = 0.5*(1 + 17)\r\n"
    "9 = 0.5*(5 + 13)\r\n"
    "9 = 0.5*(7 + 11)\r\n"
    "Да се реализира проект, представящ междупредметни връзки Математика и Информатика.\r\n"
    "Тема на проекта: Математика - прости числа, Ератостен, Голдбах\r\n"
    "Входни данни: естествено число N от интервала [3..999].\r\n"
    "Извежда се сито на Ератостен за интервала [1..2*N].\r\n"
    "Доказва се или се опровергава хипотезата за представяне на всяко цело числа като "
    "средноартиметично на две прости числа.\r\n";

void ClearAll(FormState& state) {
    state.List1[0].Clear();
    state.List1[1].Clear();
    state.Text1[0].clear();
    state.Text1[1].clear();
}

void OnCommandClick(FormState& state, std::int16_t index, Host& host) {
    switch (index) {
        case 0:
            RunSieve(state, host);
            RunGoldbach(state, host.DecimalSeparator());
            break;
        case 1:
            ClearAll(state);
            break;
        default:
            break;
    }
}

void OnLabelClick(FormState& state, std::int16_t index) {
    if (index == 4) {
        state.Text1[1] = state.Text1[2];
    }
}

}  // namespace zemvaro
