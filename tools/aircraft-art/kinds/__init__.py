"""The five sprite-only aircraft, each a module with build() -> (Mesh, paint) and its crease angle."""
