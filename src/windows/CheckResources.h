#pragma once
// The framework's check before a window is opened: non-zero means the
// system is short of window resources and nothing should be opened.
int HVXCheckResources();
