"""Scenarios; every module here registers its cases on import."""
