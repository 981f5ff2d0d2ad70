// Anchors the shared widgets precompiled header.
