// Placeholder translation unit until pictures are added.
