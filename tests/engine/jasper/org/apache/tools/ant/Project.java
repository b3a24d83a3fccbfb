package org.apache.tools.ant;
public class Project { public static final int MSG_INFO = 2; public java.io.File getBaseDir() { return null; } }
