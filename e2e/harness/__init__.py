"""Runs the real Quillmarten.exe under Wine in Xvfb and observes it from outside."""
