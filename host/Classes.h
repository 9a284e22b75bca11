#pragma once
// The framework's classes unit in one include: objects, persistence,
// components, lists, string lists, collections and streams.

#include "host/Collections.h"
#include "host/Components.h"
#include "host/Lists.h"
#include "host/Objects.h"
#include "host/Persistent.h"
#include "host/Streams.h"
#include "host/StringLists.h"
