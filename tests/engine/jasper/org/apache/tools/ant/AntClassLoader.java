package org.apache.tools.ant;
public class AntClassLoader extends ClassLoader { public String getClasspath() { return ""; } }
