#pragma once

// The wash items: one item with its children, the wash-item files, and the
// catalogue of all items with the order file.

#include "model/catalogue.h"
#include "model/child_folder.h"
#include "model/child_list.h"
#include "model/child_register.h"
#include "model/item_content.h"
#include "model/item_list.h"
#include "model/item_property.h"
