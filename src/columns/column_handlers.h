#pragma once
// Keeps each column's word list, count label and include box in step with its box.

#include "app/bindings.h"

namespace wc {

// Content changed of the column box of `column` (0-based): a new list from the box text.
template <int column>
void ColumnBoxChanged(App& app, const EventArgs&);

// Clicked of the column's clear button: empties the box, which rebuilds the list.
template <int column>
void ClearColumn(App& app, const EventArgs&);

}  // namespace wc
