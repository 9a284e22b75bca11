#pragma once

// Registers the host layer's units with the unit registry.
void RegisterHostUnits();
