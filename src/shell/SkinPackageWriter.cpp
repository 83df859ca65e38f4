// Written by the skin package work; see SkinPackageWriter.h.
