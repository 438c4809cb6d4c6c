// Placeholder so the library has a source until real ones land; remove when adding files.
